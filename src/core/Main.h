#pragma once

// The program's entry: gives the shared settings their start values, loads and shows the main
// window, and returns; the program then lives in the event loop.
void Main();

// Makes the signals that ask the program to end (a logout, a shut-down, `kill`, Ctrl+C) end it
// as closing its window does: the jobs' working folders go, running tools are left alone.
void CloseOnEndSignals();
