#pragma once

#include <string>

// Takes what a test sent to the Recycle Bin out of it again when it ends. Under Wine the
// Recycle Bin is the trash folder of the desktop user running the tests, outside the Wine
// prefix, so a test must not leave its files there.
class RecycleBinCleanup {
public:
    // marker: a folder name that only this test's deleted paths contain.
    explicit RecycleBinCleanup(std::string marker);
    ~RecycleBinCleanup();
    RecycleBinCleanup(const RecycleBinCleanup&) = delete;
    RecycleBinCleanup& operator=(const RecycleBinCleanup&) = delete;

private:
    std::string marker_;
};

// The number of items in the Recycle Bin of every drive, as the shell counts them.
long long RecycleBinItemCount();
