// The test component library's public face: the identities of its one class, Compteur, and of
// its members, shared by the library and the tests that load it.
//
// Compteur holds a whole number and a label:
// - Valeur (variable, Long): the number, read and written;
// - Libelle (write-only property, String): the label;
// - Ajouter(byval Montant: Long): adds Montant to Valeur;
// - Decrire(byref Texte: String): writes "label = number" into its argument.
#pragma once

#include "platform/component/TypeInfo.h"

namespace component::testing {

inline constexpr const char* kLibraryId = "{9E2A41C7-3B58-4D06-A1F3-6C0B7D92E415}";
inline constexpr const char* kCompteurId = "{5B0C3E2A-7D41-4C8E-9F1A-2B6D8E0C4A17}";
inline constexpr const char* kCompteurProgId = "ComposantEssai.Compteur";
inline constexpr const char* kInterfaceId = "{C41D07B2-95E3-4F6A-8B20-1E7A3D5C9F08}";
inline constexpr const char* kFileVersion = "2.3.0.7";

inline constexpr DispatchId kValeur = 0x40030000;
inline constexpr DispatchId kLibelle = 0x68030000;
inline constexpr DispatchId kAjouter = 0x60030001;
inline constexpr DispatchId kDecrire = 0x60030002;

}  // namespace component::testing
