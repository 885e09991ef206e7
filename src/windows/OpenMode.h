#pragma once

// How a report window is opened.
enum OpenMode {
    omNew = 0,    // a new, empty report
    omDesign = 1, // a design file
    omText = 2,   // a Report-Writer text file imported into the source page
    omImport = 3, // a Report-Writer text file made into a new design
};
