// The "No Access to Disc" dialog: its template's number is fixed, the controls are its own.
#pragma once

#define IDD_DISC_RELOCATION             148

#define IDC_RELOCATION_TEXT             1140
#define IDC_RELOCATION_DISCS            1141
#define IDC_RELOCATION_KEEP             1142
