#pragma once

// How fast the cards and chips move when motion is on.
enum class MotionSpeed { Slow, Normal, Fast };

// What the player has turned on, remembered from one run to the next (app/ChoicesFile.h). The
// defaults are the game as it starts with nothing chosen.
struct Choices {
    bool coach = false;
    bool motion = false;
    MotionSpeed speed = MotionSpeed::Normal;
    bool sound = false;
    // Percent, 0 to 100 in steps of 10.
    int volume = 80;
    bool fullscreen = false;
    // Every round played kept in history.jsonl beside the choices.
    bool keeping = false;
    // Whether the player ever chose motion on or off: true once the file holds a `motion` line,
    // and once motion changes in a run. Until then the game may pick motion for the player.
    bool motionChosen = false;

    bool operator==(const Choices& o) const {
        return coach == o.coach && motion == o.motion && speed == o.speed && sound == o.sound &&
               volume == o.volume && fullscreen == o.fullscreen && keeping == o.keeping &&
               motionChosen == o.motionChosen;
    }
    bool operator!=(const Choices& o) const { return !(*this == o); }
};
