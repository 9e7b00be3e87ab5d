/* Resource numbers shared by tavlin.rc and the Windows backend. */
#ifndef TAVLIN_RESOURCE_IDS_H
#define TAVLIN_RESOURCE_IDS_H

#define IDI_TAVLIN 1
#define IDR_BACKGROUND 101
#define IDB_ABOUT_GREY 102
#define IDB_WORDMARK 103

#endif
