#pragma once

#include "basalt_api.h"

#include <string>
#include <vector>

// The parameters a program was started with, as switches are looked up in them: every
// parameter is kept in order, a leading "-" or "/" taken off ("-s:2" and "/s:2" are both "s:2").
class BASALT_API CommandLineInfo {
public:
    CommandLineInfo() = default;
    // The parameters of a whole command line as the system splits it (quotes group, the
    // program's own name is not a parameter); in the ANSI code page.
    explicit CommandLineInfo(const wchar_t* commandLine);

    // Keeps one parameter.
    void ParseParam(std::string parameter);

    // True when a parameter names the switch: its part before the first ":" (the whole, when it
    // has none) equals name without regard to case. The first one that does wins; when it has a
    // ":", value becomes the text after the first ":" as it was typed, else value is left alone.
    bool IsParameterSupplied(const std::string& name, std::string& value) const;

    const std::vector<std::string>& Parameters() const { return parameters_; }

private:
    std::vector<std::string> parameters_;
};
