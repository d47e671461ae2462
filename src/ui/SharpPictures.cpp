#include "ui/SharpPictures.h"

#include "rules/Game.h"

#include <utility>

#include "ui/Texture.h"

void SharpPictures::setup(SDL_Renderer* renderer, std::vector<Source> sources) {
    release();
    this->renderer = renderer;
    this->sources = std::move(sources);
    textures.resize(this->sources.size());
    if (current == 2) {
        readMissing();
    }
}

bool SharpPictures::follow(int density) {
    current = density == 2 ? 2 : 1;
    if (current == 2) {
        framesAtOne = 0;
        if (!holding) {
            readMissing();
            holding = true;
            return true;
        }
        return false;
    }
    if (holding && ++framesAtOne >= kLetGoAfterFrames) {
        release();
        return true;
    }
    return false;
}

bool SharpPictures::readMissing() {
    if (current != 2 || renderer == nullptr) {
        return false;
    }
    holding = true;
    bool read = false;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (textures[i] == nullptr) {
            loadMissingSharpTexture(textures[i], sources[i].path, renderer, sources[i].opaque);
            read = read || textures[i] != nullptr;
        }
    }
    return read;
}

void SharpPictures::release() {
    for (TextureHandle& texture : textures) {
        texture.reset();
    }
    holding = false;
    framesAtOne = 0;
}

SDL_Texture* SharpPictures::get(std::size_t index) const {
    return index < textures.size() ? textures[index].get() : nullptr;
}

bool SharpPictures::followWithCards(int density, Game* engine) {
    const int before = current;
    const bool readOrLetGo = follow(density);
    if (readOrLetGo && engine != nullptr) {
        if (holding) {
            engine->loadSharpCardSheet();
        } else {
            engine->releaseSharpCardSheet();
        }
    }
    return readOrLetGo || current != before;
}

bool SharpPictures::readMissingWithCards(Game* engine) {
    if (engine == nullptr || !holding) {
        return false;
    }
    readMissing();
    engine->loadSharpCardSheet();
    return true;
}
