// EventReport: the test-only line-per-event report of what the game does (ZORBLAT_EVENTS).
#pragma once

namespace eventreport {

// Opens the file named by ZORBLAT_EVENTS for appending (created when missing); without the
// variable, or when the file cannot be opened, the report stays off. Called once at start-up.
void openFromEnvironment();

// Opens path for appending, replacing any earlier file; nullptr turns the report off.
// Returns whether the report is on.
bool open(const char* path);

// Whether lines are written: off for players.
bool enabled();

// Formats one line (printf-style, the newline added) into a fixed buffer and writes it with a
// single write, so a reader never sees half a line and nothing is allocated. A line longer
// than the buffer is cut short, still ending with its newline. Off, it costs one test.
void report(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace eventreport
