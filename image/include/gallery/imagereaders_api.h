// The mark on every declaration of the image readers' public interface. The library is built
// with hidden symbols: what carries this mark is all that its shared library exports.
#pragma once

#define GALLERY_IMAGEREADERS_API __attribute__((visibility("default")))
