#include "app/ChoicesKeeper.h"

#include "app/CommandLine.h"
#include "app/FullscreenKeys.h"
#include "app/MainLoop.h"
#include "ui/GameScene.h"

namespace {

TableMotion::Speed tableSpeed(MotionSpeed speed) {
    switch (speed) {
        case MotionSpeed::Slow:
            return TableMotion::Speed::Slow;
        case MotionSpeed::Fast:
            return TableMotion::Speed::Fast;
        case MotionSpeed::Normal:
            break;
    }
    return TableMotion::Speed::Normal;
}

MotionSpeed chosenSpeed(TableMotion::Speed speed) {
    switch (speed) {
        case TableMotion::Speed::Slow:
            return MotionSpeed::Slow;
        case TableMotion::Speed::Fast:
            return MotionSpeed::Fast;
        case TableMotion::Speed::Normal:
        case TableMotion::Speed::Instant:
            break;
    }
    return MotionSpeed::Normal;
}

}  // namespace

Choices choicesInForce(const MainLoop& loop, const Choices& last) {
    Choices now = last;
    const GameScene& game = *loop.game;
    now.coach = game.coaching.isOn();
    now.motion = game.motion.isOn();
    now.speed = chosenSpeed(game.motion.lastSpeed());
    now.sound = game.sounds.isOn();
    now.volume = game.sounds.volume();
    now.keeping = game.keeping();
#ifndef __EMSCRIPTEN__
    now.fullscreen = isFullscreen(loop.window);
#endif
    now.motionChosen = last.motionChosen || now.motion != last.motion || now.speed != last.speed;
    return now;
}

void applyChoices(MainLoop& loop, const Choices& choices) {
    loop.game->setCoach(choices.coach);
    loop.game->motion.restore(tableSpeed(choices.speed), choices.motion);
    loop.game->sounds.setVolume(choices.volume);
    loop.game->sounds.turn(choices.sound);
    loop.game->setKeeping(choices.keeping);
    if (choices.fullscreen != isFullscreen(loop.window)) {
        setFullscreen(loop.window, choices.fullscreen);
    }
}

void ChoicesKeeper::begin(MainLoop& loop, const CommandLine& options) {
    // The rounds are kept beside the choices.
    loop.game->kept.setFolder(file_.folder());
    Choices start;
    if (!options.defaults) {
        start = file_.read();
        applyChoices(loop, start);
    }
    if (options.coach) {
        loop.game->setCoach(true);
    }
    last_ = choicesInForce(loop, start);
    keeping_ = !options.defaults;
}

void ChoicesKeeper::keep(const MainLoop& loop) {
    if (!keeping_) {
        return;
    }
    const Choices now = choicesInForce(loop, last_);
    if (now == last_) {
        return;
    }
    // A write that failed has said so once; the game plays on, and writes again at the next change.
    last_ = now;
    if (file_.write(now)) {
        ++writes_;
    }
}
