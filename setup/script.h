#pragma once
// The command-line script commands: one registry or file operation, then the program ends.

// Runs the first command the command line holds; true when there was one. exitCode receives
// the result of the commands that report one.
bool RunScriptCommand(int& exitCode);
