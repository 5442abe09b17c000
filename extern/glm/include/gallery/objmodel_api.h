// The mark on every declaration of the OBJ model library's public interface. The library is
// built with hidden symbols: what carries this mark is all that its shared library exports.
#pragma once

#define GALLERY_OBJMODEL_API __attribute__((visibility("default")))
