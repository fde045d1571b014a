#pragma once

// How the Map Disc dialog was opened, which decides whether it connects the disc itself or
// only hands the chosen letter back (the multiple-mapping modes, 2 to 5).
enum MapDialogLaunch : int {
    LaunchedForDisc = 0,       // Map Disc on a disc of the view: the path is fixed
    LaunchedStandalone = 1,    // the settings program: the path is typed or picked in the tree
    LaunchedAddItemPath = 2,   // AutoMapping page of a disc or folder, Add
    LaunchedEditItemPath = 3,  // AutoMapping page of a disc or folder, Edit
    LaunchedAddLOPath = 4,     // AutoMapping page of a launch object, Add
    LaunchedEditLOPath = 5,    // AutoMapping page of a launch object, Edit
};

inline bool IsMultipleMappingLaunch(MapDialogLaunch launch)
{
    return launch >= LaunchedAddItemPath && launch <= LaunchedEditLOPath;
}
