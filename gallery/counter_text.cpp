#include "counter_text.h"

#include <GL/glut.h>
#include <cstdio>

void drawCounterText(const char* format, std::int32_t value) {
    char text[128] = {};
    std::snprintf(text, sizeof text, format, static_cast<int>(value));
    for (const char c : text) {
        if (c == '\0') {
            break;
        }
        glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<signed char>(c));
    }
}
