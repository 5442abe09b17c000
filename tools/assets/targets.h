// The three target pictures, painted as the player is to see them.
#pragma once

#include "picture.h"

// A brown rabbit in full stride on a painted meadow board.
Picture paintRabbit(int size);
// A ground squirrel sitting up on its hind legs at the mouth of its burrow.
Picture paintGopher(int size);
// A paper target: scoring rings 1 to 10 with a black bull and ring numbers.
Picture paintPaperTarget(int size);
