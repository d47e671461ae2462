#!/usr/bin/env python3
"""How much of a processor the game's page takes at rest, in headless Chromium: for each site
given, the page opened at 1024 x 900, the menu left to settle, then every Chromium process's
processor time summed over SECONDS (default 10), on the menu and then on the table after START.
Sites are taken in turn, ROUNDS times (default 3), so that a busy machine weighs on each alike.

Usage: rest.py SITE_DIR... (each a build-web/site, say one built from an older commit)
Environment: BLACKJACK_LAYOUT as for tests/web/play.py; BLACKJACK_REST_SECONDS, BLACKJACK_REST_ROUNDS.
"""

import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "web"))
import play  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def tree(root):
    """ROOT and every process under it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    found, todo = [], [root]
    while todo:
        pid = todo.pop()
        found.append(pid)
        todo.extend(children.get(pid, []))
    return found


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return total / TICKS


def share_at_rest(browser, seconds):
    pids = tree(browser.process.pid)
    before, start = cpu_seconds(pids), time.monotonic()
    time.sleep(seconds)
    return 100 * (cpu_seconds(pids) - before) / (time.monotonic() - start)


def measure(site, seconds):
    work = tempfile.mkdtemp(prefix="blackjack-rest-")
    server = play.serve(site)
    browser = play.Browser(work)
    try:
        url = f"http://127.0.0.1:{server.server_address[1]}/"
        state = play.open_page(browser, url, play.DESKTOP)
        if state != "running":
            raise play.Failure(f"the page is {state}")
        player = play.Player(browser)
        menu = play.steady_menu(player)
        on_menu = share_at_rest(browser, seconds)
        play.start_table(player, menu, lambda: player.click(play.START))
        player.move(play.AWAY)
        time.sleep(1)
        on_table = share_at_rest(browser, seconds)
        return on_menu, on_table
    finally:
        browser.close()
        server.shutdown()


def main():
    sites = sys.argv[1:]
    if not sites:
        print(__doc__, file=sys.stderr)
        return 2
    seconds = float(os.environ.get("BLACKJACK_REST_SECONDS", "10"))
    rounds = int(os.environ.get("BLACKJACK_REST_ROUNDS", "3"))
    figures = {site: [] for site in sites}
    for _ in range(rounds):
        for site in sites:
            figures[site].append(measure(site, seconds))
            menu, table = figures[site][-1]
            print(f"# {site}: menu {menu:.0f} %, table {table:.0f} %", flush=True)
    for site in sites:
        menus = sorted(m for m, _ in figures[site])
        tables = sorted(t for _, t in figures[site])
        print(f"{site}: at rest, menu {menus[len(menus) // 2]:.0f} % ({menus[0]:.0f} - "
              f"{menus[-1]:.0f}), table {tables[len(tables) // 2]:.0f} % ({tables[0]:.0f} - "
              f"{tables[-1]:.0f}) of a core, every Chromium process")
    return 0


if __name__ == "__main__":
    sys.exit(main())
