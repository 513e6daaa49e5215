// The type library of ControleOstrevan: the class Ctr_Ostrevan, its interface _Ctr_Ostrevan (its
// members with their dispatch identities, from the one table that also dispatches them) and its
// event interface __Ctr_Ostrevan, which declares no event.
#pragma once

#include "platform/component/Dispatch.h"
#include "platform/component/TypeInfo.h"

class Ctr_Ostrevan;

const component::DispatchTable<Ctr_Ostrevan>& dispatchTable();
const component::TypeLibrary& typeLibrary();
