#pragma once

// What a search asks the network for.
constexpr const char* kLumivexServiceType = "service:lumivex.orvek";
constexpr const char* kLumivexScope = "default";
constexpr const char* kLumivexPredicate = "(TYPE=CDS)";
constexpr const char* kLumivexLanguage = "en";
