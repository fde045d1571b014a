#pragma once

// The first time a client user opens the namespace (once per process, however many folder
// objects Explorer makes): offers to choose the public folders now, in the settings program.
void OfferPublicFoldersOnce();
