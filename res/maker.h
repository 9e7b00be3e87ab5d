/* The maker's texts, shared by the version record and the windows. They name
   no real company. Plain C macros so that the resource compiler reads them too. */
#ifndef TAVLIN_MAKER_H
#define TAVLIN_MAKER_H

#define TAVLIN_COMPANY "Tavlin Project"
#define TAVLIN_COPYRIGHT "Copyright \251 2026 Tavlin Project"
#define TAVLIN_WEB_LINE "\251 www.tavlin.example"
#define TAVLIN_DESCRIPTION "Tavlin disc menu"

#endif
