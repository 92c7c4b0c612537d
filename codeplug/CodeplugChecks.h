#pragma once
// Pure checks on what a radio reports about its codeplug. They need no
// radio link, so both the radio operations and the profile checks use them.

namespace tavo {

// The clone class a radio of this product line must report (byte 41 of the
// identification) for its codeplug to be exchanged with profiles.
inline constexpr int kCloneCompatibleClass = 20;

// True when a radio's clone class allows its codeplug to be read and written.
bool IsCloneCompatible(int value);

// True when the program can handle a codeplug of this phase and version:
// development codeplugs (phase 'D') always, others up to the supported version.
bool IsCodeplugSupported(char phase, int version, int supportedVersion);

} // namespace tavo
