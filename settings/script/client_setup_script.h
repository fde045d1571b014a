#pragma once

#include <string>

// The client setup script ("sscript.ini") of a client setup folder. The folder is shared with
// the client installations, so the script is read like any file from outside (size and content
// checked) and written whole through a temporary file beside it, never rewritten in place:
// an installation reading it meanwhile finds the old script or the new one.
class ClientSetupScript {
public:
    explicit ClientSetupScript(const std::string& setupFolder);

    const std::string& Path() const { return path_; }

    // Reads the script; a folder without one gives an empty script. False when the script exists
    // but cannot be read or is no text a script can be.
    bool Load();
    // Sets one entry (an empty value removes it); false, with the script unchanged, for a name
    // or value that does not fit on one line.
    bool SetEntry(const std::string& section, const std::string& key, const std::string& value);
    // Writes the script; the one there before stays when this fails.
    bool Save() const;

private:
    std::string path_;
    std::string text_;
};
