#pragma once

// String-table ids, shared by the code and the resource script.

// Message texts.
#define IDS_INSTALL_FAILED 300
#define IDS_INSTALL_SUCCEEDED 301
#define IDS_UP_TO_DATE 306
#define IDS_NO_TARGET_PRODUCT 307
#define IDS_WRONG_VERSION 308
#define IDS_BAD_COMMAND_LINE 309
#define IDS_NEED_PATCH_LIST 310

// Captions.
#define IDS_CAPTION_ERROR 311
#define IDS_CAPTION_SUCCESS 312
#define IDS_CAPTION_UNNECESSARY 313

// Version data, English only.
#define IDS_TARGET_VERSION 700
#define IDS_APPLICABLE_VERSIONS 900
