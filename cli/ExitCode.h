#pragma once

// Exit statuses of qen-cli: scripts tell a usage mistake from a bad input file.
enum ExitCode { ExitOk = 0, ExitUsage = 1, ExitBadFile = 2 };
