#pragma once

// True on the Windows NT family, false on Windows 95/98 (where a few system calls differ).
bool IsNtPlatform() noexcept;
