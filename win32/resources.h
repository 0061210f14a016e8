// The Windows front end's resources: the icon, the manifest of the themed controls, and each
// picture, a PNG file, at every display scale it is rendered at, numbered by its base plus the
// scale in percent.
#pragma once

#define VERTUNO_ICON 1
#define VERTUNO_THEMED_CONTROLS 2
#define VERTUNO_CABINET 1000
#define VERTUNO_DEMO 2000
#define VERTUNO_COINS 3000
#define VERTUNO_EMBLEM 4000
