// A fixture for the shell's callbacks on the real window: the application state is put back to
// its start-up values before each test, and tests can count the redisplays that GLUT carries
// out and deliver real key events through the X server.
#pragma once

#include <GL/freeglut.h>
#include <gtest/gtest.h>

class ShellTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lets GLUT handle pending events and redisplay requests; returns how many times it
    // called the display callback.
    int processEvents();

    // Sends a real key press and release for an X key symbol to the window and lets GLUT
    // dispatch it to whatever special-key callback is registered.
    void pressKey(unsigned long keysym);

    // Draws one frame of the scene under the identity modelview matrix, as the display
    // callback does, without swapping.
    void drawFrame();

private:
    char previousDirectory[4096] = {};
};
