#pragma once

// The program's entry: gives the shared settings their start values, loads and shows the main
// window, and returns; the program then lives in the event loop.
void Main();
