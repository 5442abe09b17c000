// The arrow and page keys: they move the aim point in the firing view and walk and turn in
// the walk-through view. Which of the two handlers is registered is part of the view state.
#pragma once

void onAimKey(int key, int x, int y);
void onWalkKey(int key, int x, int y);
