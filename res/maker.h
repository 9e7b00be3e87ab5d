/* The maker's texts, shared by the version record and the windows. They name
   no real company. Plain C macros so that the resource compiler reads them too.
   The About window centres its two labels only when these fit their designed
   widths (130 and 110 pixels in MS Sans Serif 8), so keep them that long. */
#ifndef TAVLIN_MAKER_H
#define TAVLIN_MAKER_H

#define TAVLIN_COMPANY "Tavlin Open Source Project"
#define TAVLIN_COPYRIGHT "\251 2026 the Tavlin team"
#define TAVLIN_WEB_LINE "\251 www.tavlin.example"
#define TAVLIN_DESCRIPTION "Tavlin disc menu"

#endif
