#pragma once

// The user's choice whether an automatic mapping asks before it replaces a drive connection
// ("AutoMap Replacement Warning" under the user's product key; absent means ask).
namespace ReplacementWarning {

// Whether to ask: never when the caller does not want it, else as the user chose. Throws
// RegKeyException when the setting cannot be read.
bool ShouldAsk(bool warnBeforeReplace);
// The user checked "do not show this warning again".
void SwitchOff();

} // namespace ReplacementWarning
