#pragma once
// Low-level serial device access for SerialTransport: open, termios2 line
// settings (raw mode, any baud rate through BOTHER), tcflush, and reads and
// writes bounded by poll time-outs. No event loop; every call returns an
// errno value (0 on success). Kept apart because <asm/termbits.h> cannot
// meet <termios.h> in one translation unit.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavo::serial {

// Opens `path` read-write, non-blocking, without becoming the controlling
// terminal, and takes an advisory exclusive lock so that two programs of
// ours never share a cable. Returns the descriptor, or -1 with `err` set.
int OpenDevice(const char *path, int &err);
void CloseDevice(int fd);

// True for a pseudo-terminal slave (the simulated radio's end).
bool IsPseudoTerminal(int fd);

// Raw mode: no echo, no line editing, no character translation, 8 data
// bits, receiver on, modem lines ignored, reads that never block.
int SetRawMode(int fd);
// Any baud rate through termios2 (BOTHER) on both directions.
int SetBaudRate(int fd, uint32_t baud);
// wordLength 5-8, stopBits 0 (one) or 2 (two), parity 0 none, 1 odd, 2 even.
int SetDataCharacteristics(int fd, int wordLength, int stopBits, int parity);
// No hardware or software flow control.
int SetNoFlowControl(int fd);
// Discards received and/or unsent bytes.
int Flush(int fd, bool rx, bool tx);

// Reads up to n bytes, waiting at most timeoutMs in all. Returns the count
// read; `err` is 0 when the time-out simply expired, else the error (EIO
// when the device went away).
size_t ReadWithTimeout(int fd, uint8_t *buffer, size_t n, int timeoutMs, int &err);
size_t WriteWithTimeout(int fd, const uint8_t *buffer, size_t n, int timeoutMs, int &err);

// Name of the group that owns `path` ("dialout" on most systems), empty
// when it cannot be found.
std::string DeviceGroup(const char *path);
// The permission bits and owning group of `path`; false when it cannot be
// looked at.
bool DeviceModeAndGroup(const char *path, unsigned &mode, unsigned &gid);
// True when this process runs with group `gid` (effective or supplementary).
bool ProcessInGroup(unsigned gid);

} // namespace tavo::serial
