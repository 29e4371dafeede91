// Resource identifiers shared by sarnexcfg.rc and the code that loads the resources.
#ifndef SARNEX_RESOURCE_IDS_H
#define SARNEX_RESOURCE_IDS_H

#define IDI_SARNEX 1  // the program's icon, 32 x 32, 16 colours

#endif
