// The Windows front end's resources: the artwork rendered at build time.
#pragma once

#define VERTUNO_ICON 1
#define VERTUNO_CABINET 101
#define VERTUNO_DEMO 102
#define VERTUNO_COINS 103
#define VERTUNO_EMBLEM 104
