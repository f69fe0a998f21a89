// Timestamps of the program's milestones (started, first frame, window closed, settings
// written, ended) on stderr, when ORBICLE_TRACE is set: how start-up and exit times are
// measured. Silent otherwise.
#pragma once

// Writes "orbicle-trace MS WHAT": the wall clock in milliseconds since 1970, so that a script
// can measure from the moment it started the program.
void TraceMilestone(const char* what);
