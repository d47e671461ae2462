#pragma once

#include <cstddef>
#include <vector>

#include <SDL.h>

#include "ui/SdlHandle.h"

class Game;

// A screen's pictures at twice the size, from ./images/2x/, which it draws in place of its own on
// an output that shows the table at 1.5 times its size or more (ui/Layout.h densityFor). They are
// read only when the output first calls for them, in that frame, and let go again once the output
// has stayed at the table's own density for a while: a screen on a 1x display never holds them.
// A picture whose file cannot be read stays null, and its 1x picture serves.
class SharpPictures {
public:
    // Frames in a row at density 1 after which the pictures are let go: about two seconds, so a
    // window dragged across the edge of two displays does not read them again and again.
    static constexpr int kLetGoAfterFrames = 120;

    // A picture by its 1x path (./images/NAME.png); `opaque` as loadOpaqueTexture draws it.
    struct Source {
        const char* path;
        bool opaque;
    };

    // The screen's pictures, numbered as `get` takes them; reads none of them yet.
    void setup(SDL_Renderer* renderer, std::vector<Source> sources);
    // The output's density for this frame. True when this call read the pictures or let them go,
    // so that the screen hands the new ones (or none) on to whatever draws them.
    bool follow(int density);
    // Reads the pictures still missing, if the density calls for them now: their files may have
    // arrived since (the web page fetches them after its first frame). True when one was read.
    bool readMissing();
    // The same two for a screen that draws cards too: the engine's card sheet at twice the size
    // is read and let go with the pictures. True when the screen has new pictures (or none) to
    // hand on, or a new density; `engine` may be null.
    bool followWithCards(int density, Game* engine);
    bool readMissingWithCards(Game* engine);
    // Lets every picture go; the next density of 2 reads them again.
    void release();

    // The density the screen draws at: 1 or 2.
    int density() const { return current; }
    // Whether the pictures are read (those that could be), for density 2.
    bool held() const { return holding; }
    // Picture `index` at twice the size; null when not read or missing.
    SDL_Texture* get(std::size_t index) const;

private:
    SDL_Renderer* renderer = nullptr;
    std::vector<Source> sources;
    std::vector<TextureHandle> textures;
    int current = 1;
    bool holding = false;
    int framesAtOne = 0;
};
