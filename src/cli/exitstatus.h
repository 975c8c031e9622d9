// The statuses other than 0 that velmor ends with, one for each kind of ending.
#pragma once

constexpr int UndocumentedStatus = 1;
constexpr int UsageStatus = 2;
constexpr int NoDisplayStatus = 2;
constexpr int NoMemoryStatus = 2; // the window could not start under the memory limit
constexpr int ScaleStatus = 2;    // QT_SCALE_FACTOR asks for a scale the board cannot be drawn whole at

constexpr int OutputStatus = 2;       // an output the program could not write
constexpr int BoardProblemStatus = 2; // --check-board found problems in the description, or could not read it
