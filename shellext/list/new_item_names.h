#pragma once

#include <string>

// The name to try after a name was found taken: "base (2)" after "base", and after a name with
// a number in brackets the next number ("base (10)" after "base (9)").
std::string NextFreeName(const std::string& base, const std::string& taken);
