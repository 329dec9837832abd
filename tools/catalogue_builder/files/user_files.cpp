// The user's two files, written by the engine's own writers: the user
// catalogue without zones and the shipped favourites.
#include "catalogue/user_zone_file.h"
#include "files/writers.h"
#include "frequency/frequency_file.h"

namespace kelvane::builder {

WriteOutcome WriteUserFiles(const std::vector<std::uint16_t> &favourites) {
    DataDirectoryLock lock;
    Result written = lock.Acquire();
    if (written == Result::Ok) written = CreateUserTZFile(lock);
    if (written != Result::Ok)
        return WriteOutcome::Failed("TZ_UserDef.ini: cannot be written (result " + std::to_string(Code(written)) + ")");
    written = WriteTZFrequency(lock, static_cast<std::uint16_t>(favourites.size()), favourites.data());
    if (written != Result::Ok)
        return WriteOutcome::Failed("TZ_Frequency.ini: cannot be written (result " + std::to_string(Code(written)) +
                                    ")");
    return {};
}

}  // namespace kelvane::builder
