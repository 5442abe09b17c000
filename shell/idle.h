// The idle animation: one fixed step per call, no clock, so its speed follows the frame rate.
#pragma once

void onIdle();
