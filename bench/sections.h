#pragma once
// The benchmark's sections; each prints its own tables.

namespace skorvelin::bench {

// Wildcard patterns built to be slow against a full-length title.
void PatternWorstCases();
// The title search over a thousand windows of our own, and where its time goes.
void WindowSearch();
// The executable-name search over the running processes.
void ProcessSearch();
// Whole runs of the program against the platform's own command for the same job.
void WholeRuns(int runsEach);

} // namespace skorvelin::bench
