#pragma once
// The benchmark's sections; each prints its own tables.
#include <string>

namespace skorvelin::bench {

// Wildcard patterns built to be slow against a full-length title.
void PatternWorstCases();
// The title search over a thousand windows of our own, and where its time goes.
void WindowSearch();
// The executable-name search over the running processes.
void ProcessSearch();
// Both builds' Skorvelin.exe sizes.
void ProgramSizes();
// Whole runs of the program against the platform's own command for the same job, with Wine's
// desktop process running, beside the runs made without it when `withoutWindowsPath` names
// the file of OneWholeRun's lines.
void WholeRuns(int rounds, const std::wstring& withoutWindowsPath);
// One run of compared program `programIndex`, which must find no desktop process running;
// prints "<programIndex> <seconds>" and answers the exit status.
int OneWholeRun(int programIndex);

} // namespace skorvelin::bench
