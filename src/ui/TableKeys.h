#pragma once

#include <SDL.h>

// What a key means on the table: Enter (either) or Space DEAL, H HIT, S STAND, D DOUBLE, P SPLIT,
// 1 to 5 a chip's add arrow and with Shift its remove arrow, R the last round's chips again, C the
// coach, A motion on and off, [ and ] motion slower and faster, M the sound, - (either) and = (or
// the keypad's +) its volume down and up, K keeping the rounds, V the review of past rounds. Every
// other key, Escape among them, means nothing there:
// a stray key never ends the game from the table.
struct TableCommand {
    enum class Kind {
        None,
        Deal,
        Hit,
        Stand,
        Double,
        Split,
        AddChip,
        RemoveChip,
        BetAgain,
        Coach,
        Motion,
        Slower,
        Faster,
        Sound,
        VolumeDown,
        VolumeUp,
        Keeping,
        Review
    };
    Kind kind = Kind::None;
    // The chip's kind, 0 to 4, for AddChip and RemoveChip.
    int chip = 0;
};

constexpr TableCommand tableCommandFor(SDL_Keycode key, Uint16 modifiers) {
    using Kind = TableCommand::Kind;
    if (key >= SDLK_1 && key <= SDLK_5) {
        const bool shift = (modifiers & KMOD_SHIFT) != 0;
        return {shift ? Kind::RemoveChip : Kind::AddChip, static_cast<int>(key - SDLK_1)};
    }
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return {Kind::Deal, 0};
        case SDLK_h:
            return {Kind::Hit, 0};
        case SDLK_s:
            return {Kind::Stand, 0};
        case SDLK_d:
            return {Kind::Double, 0};
        case SDLK_p:
            return {Kind::Split, 0};
        case SDLK_r:
            return {Kind::BetAgain, 0};
        case SDLK_c:
            return {Kind::Coach, 0};
        case SDLK_a:
            return {Kind::Motion, 0};
        case SDLK_LEFTBRACKET:
            return {Kind::Slower, 0};
        case SDLK_RIGHTBRACKET:
            return {Kind::Faster, 0};
        case SDLK_m:
            return {Kind::Sound, 0};
        case SDLK_k:
            return {Kind::Keeping, 0};
        case SDLK_v:
            return {Kind::Review, 0};
        case SDLK_MINUS:
        case SDLK_KP_MINUS:
            return {Kind::VolumeDown, 0};
        case SDLK_EQUALS:
        case SDLK_PLUS:
        case SDLK_KP_PLUS:
            return {Kind::VolumeUp, 0};
        default:
            return {Kind::None, 0};
    }
}
