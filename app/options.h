#pragma once

// True when the whole argument is the option's text, with only the letters
// A to Z folded to a to z ("/Q" is "/q"; "/quiet" and "-q" are not).
bool MatchesOption(const wchar_t* argument, const wchar_t* option);

// Reads the arguments after the program's own path (argv[0]) into the run
// state. "/e", "/p" and "/l" take the next argument, whatever it is, as
// their path; "/i" ends the parse. Unknown arguments are ignored.
void ParseArguments(int argc, const wchar_t* const* argv);

// ParseArguments on the process's own command line.
void ParseCommandLine();
