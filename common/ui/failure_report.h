#pragma once

// Where the kit reports an exception it stopped at a window procedure. Never throws.
void ReportUiFailure(const char* where, unsigned int templateId, const char* what) noexcept;
