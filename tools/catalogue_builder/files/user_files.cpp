// The user's two files, written empty by the engine's own writers: the user
// catalogue without zones and the frequency list without entries.
#include "catalogue/user_zone_file.h"
#include "files/writers.h"
#include "frequency/frequency_file.h"

namespace kelvane::builder {

WriteOutcome WriteUserFiles() {
    // The writer leaves out records whose TZID is 0 and needs at least one:
    // one such record gives the header alone, the empty user catalogue.
    const TZInfo none{};
    Result written = SaveUserTZFile(&none, 1);
    if (written != Result::Ok)
        return WriteOutcome::Failed("TZ_UserDef.ini: cannot be written (result " + std::to_string(Code(written)) + ")");
    written = WriteTZFrequency(0, nullptr);
    if (written != Result::Ok)
        return WriteOutcome::Failed("TZ_Frequency.ini: cannot be written (result " + std::to_string(Code(written)) +
                                    ")");
    return {};
}

}  // namespace kelvane::builder
