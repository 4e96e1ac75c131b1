/* Resource identifiers of Mirvo_vb. */
#ifndef MIRVO_VB_RESOURCE_H
#define MIRVO_VB_RESOURCE_H

/* The form runtime gives every form icon group 1. */
#define IDI_MAINFORM 1

#endif
