#pragma once

struct MainLoop;

// What the game checks before it opens its window. Each failure is one line on standard error,
// and the game then ends with status 1.

// Reports a start-up failure with SDL's own explanation; returns 1, the status to end with.
int startupFailure(const char* what);

// The screens read ./images and ./fonts. Started from another folder (a shortcut, or
// ./build/run/blackjack from the source tree), the game moves into its own folder when its
// pictures and font lie beside it. False, with one line naming both places, when neither has them.
bool enterAssetFolder();

// With no display SDL falls back to a driver that draws nowhere, and the game would run unseen.
// Unless SDL_VIDEODRIVER asked for such a driver, that is reported and true. Call after SDL_Init.
bool drawsNowhere();

// Everything that may fail before the first frame, in order: the asset folder, SDL's video, a
// display, the window (opened by the loop's placement) and its renderer, kept in the loop. 0 when
// the game may start; otherwise the status to end with, SDL already shut down.
int startUp(MainLoop& loop);
