#pragma once

struct MainLoop;

// The game in a web page. The browser calls a frame at every display refresh, and the page talks
// to the game through the functions below (each exported to its script): the Coach checkbox, the
// canvas's size in the screen's pixels, and the 2x pictures, which the page fetches after the
// first frame. The game tells the page of each turn of the coach, motion and sound by a key, so
// that the checkboxes follow. The player's choices (app/ChoicesFile.h) live in the page's file
// system in a folder kept in the browser's IndexedDB: copied in before they are read, in the first
// frame after that, and copied back after each write. Built only for the page.

struct CommandLine;

// Runs the frames until the page goes; never returns, keeping main's locals alive. `options` are
// those the choices start with.
void runInPage(MainLoop& loop, const CommandLine& options);

extern "C" {
// The page's Coach, Motion and Sound checkboxes: 1 turns it on, 0 off.
void blackjack_set_coach(int on);
void blackjack_set_motion(int on);
void blackjack_set_sound(int on);
// The canvas's size in the screen's pixels (its size on the page times the device pixel ratio),
// whenever it changes. Returns the density that size calls for: at 2 the page fetches the 2x
// pictures.
int blackjack_set_device_pixels(int w, int h);
// The page has put the 2x pictures into ./images/2x/.
void blackjack_sharp_pictures_arrived();
}
