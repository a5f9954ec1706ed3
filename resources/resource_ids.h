#pragma once

// Identifiers of the program's resources, shared by the resource script and the code.
#define KESTRIMOND_ICON_GROUP 1
#define KESTRIMOND_ICON_IMAGE 30001
#define KESTRIMOND_LOGO 101

#ifdef __cplusplus
namespace resource_ids {
constexpr int kIconGroup = KESTRIMOND_ICON_GROUP;
constexpr int kLogo = KESTRIMOND_LOGO;
}  // namespace resource_ids
#endif
