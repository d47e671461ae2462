#pragma once

// Pictures made of solid blocks, so that a pixel read back from a frame tells which picture, and
// which cell of a sheet, was drawn there. Both throw std::runtime_error when the file cannot be
// written.

#include <functional>
#include <string>

#include "support/Screen.h"

// A picture of w x h in one colour.
void writeSolidPng(const std::string& path, int w, int h, Rgb colour);

// A sheet of cols x rows cells of cellW x cellH, each filled with colourOf(column, row).
void writeSheetPng(const std::string& path, int cols, int rows, int cellW, int cellH,
                   const std::function<Rgb(int column, int row)>& colourOf);
