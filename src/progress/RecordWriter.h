#pragma once
// The thread that reads and writes the player's records (progress and
// ghosts) for the running game, so that a frame never waits on the disk and
// the time a save takes never counts in a run. There is one for the whole
// program: jobs run one at a time, in the order they were posted, so a ghost
// read after a save of the same level finds what was saved.

#include <functional>

// Runs job on the writer's thread once every job posted before it has run.
// The job gets its own copy of what it writes: the frame goes on changing
// its record meanwhile.
void postRecordJob(std::function<void()> job);

// Returns once every job posted before the call has run; at once when
// called from a job. A load calls it first, so that it reads what this
// program last asked to be written; the program calls it before it ends
// (the exit handler does too), so that no record asked for is lost.
void flushRecordJobs();
