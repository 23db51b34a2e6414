#pragma once

#include <QStringList>

// Whole-text commands run on files from the command line, without any
// window or display:
//   tessaline --to-entities FILE...    characters to entities
//   tessaline --from-entities FILE...  entities back to characters
//   tessaline --compact FILE...        tag compaction
//   tessaline --check FILE...          HTML problems found by libtidy, one
//                                      "file:line:column: message" line each;
//                                      nothing is written to the files
//   tessaline --help                   the usage text
// Each file is rewritten atomically in its own encoding and line ends, with
// its owner, group and permissions, and its count is printed to standard
// output; errors go to standard error. Read-only pages, files that are not
// regular files or whose bytes would not come back unchanged are refused, and
// so is a file that another program replaced while it was being worked on.
//
// args are the program's arguments, program name first. Returns -1 when
// they are not a batch or help command (the editor then starts as usual),
// 0 when every file was done, 1 when a file could not be read or written
// (the others are still done) or, for --check, holds HTML errors (warnings
// alone give 0), 2 for a usage error.
int runBatchMode(const QStringList &args);

// The argument names a batch or help command.
bool isBatchCommand(const char *argument);

// For main(): when the first argument names a batch or help command, runs it
// inside a QCoreApplication and returns its exit status; otherwise returns
// -1 without creating anything.
int runBatchModeIfAsked(int &argc, char **argv);
