// read, write, default and diff against the devices the command line names.
#pragma once

#include "CliOptions.h"

#include <ostream>

enum ExitCode { ExitOk = 0, ExitDiffers = 1, ExitUsage = 2, ExitSilent = 3, ExitSocketFailed = 4 };

// Results go to `out`, notes and failures to `err`. Everything that can be refused (hosts, files,
// the local port) is checked before the first datagram goes out.
int RunCommand(const CliOptions& options, std::ostream& out, std::ostream& err);
