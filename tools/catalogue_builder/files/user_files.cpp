// The user's two files, written empty by the engine's own writers: the user
// catalogue without zones and the frequency list without entries.
#include "files/writers.h"

namespace kelvane::builder {

WriteOutcome WriteUserFiles() {
    // The engine's writers of TZ_UserDef.ini and TZ_Frequency.ini are not
    // part of this build yet; until they are, the two files are not written.
    return {};
}

}  // namespace kelvane::builder
