// `vantor serve`: its options, the token file's --add-token, and the service
// run until the process is stopped.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantor::serve {

// `args` after "serve". Creates the application object itself. Exit status:
// 0 done (--help, --add-token), 1 the service could not start (the port, the
// journal, the tokens or the certificate), 2 a bad command line (a
// non-loopback address without --tokens included).
int RunServeCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vantor::serve
