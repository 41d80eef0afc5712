#include "cli/command.h"
#include "cli/compare_commands.h"
#include "cli/data_commands.h"
#include "cli/identify.h"
#include "cli/print.h"
#include "cli/transfer_commands.h"

namespace cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"new", "--edition vosk|kq|ql2-vosk|ql2-kq|jx OUT.dat - writes a base tune", RunNew},
      {"info", "FILE.dat - the edition and the parameters of a data file", RunInfo},
      {"table", "FILE.dat front|rear|retard [--csv] - one table as the grid shows it", RunTable},
      {"print",
       "FILE.dat params|front|rear|retard [--pdf OUT.pdf | --printer NAME] [--comment TEXT] - "
       "the printout as a PDF file or on a printer (the default one when neither is given)",
       RunPrint},
      {"identify", "[--port DEVICE | --simulate[=EDITION]] - the connected module's firmware ID",
       RunIdentify},
      {"download",
       "[--port DEVICE | --simulate[=EDITION]] [--force] OUT.dat - a module's data into a file",
       RunDownload},
      {"upload",
       "[--port DEVICE | --simulate[=EDITION]] [--no-backup] [--dry-run] "
       "[--allow-other-generation] IN.dat - a data file into a module, backed up first",
       RunUpload},
      {"diff", "A.dat B.dat [--csv] - what differs between two tunes (exit 0 same, 1 differ)",
       RunDiff},
      {"verify",
       "[--port DEVICE | --simulate[=EDITION]] FILE.dat [--csv] - does the module hold the "
       "file's data? (exit 0 yes, 1 no, 2 not read)",
       RunVerify},
      {"import",
       "FILE.dat front|rear|retard TABLE.csv [--out OTHER.dat [--force]] - a table from CSV into "
       "a data file",
       RunImport},
  };
  return commands;
}

}  // namespace cli
