// The readers' entries on a stream that is already open (the path entries open the file and
// call these; the fuzz targets hand in memory streams). The stream must be seekable; it is
// read from its start and left open.
#pragma once

#include "gallery/bmp_image.h"

#include <cstdio>
#include <memory>

std::unique_ptr<BmpImage> readBmpStream(std::FILE* file);
std::unique_ptr<BmpImage> readBmp24Stream(std::FILE* file);
std::unique_ptr<BmpImage> readBmp8Stream(std::FILE* file);

std::unique_ptr<BmpImage> readTgaStream(std::FILE* file);
std::unique_ptr<BmpImage> readTgaTrueColorStream(std::FILE* file, int idLength);
std::unique_ptr<BmpImage> readTgaRleStream(std::FILE* file, int idLength);
std::unique_ptr<BmpImage> readTgaMappedStream(std::FILE* file, int idLength);
