#pragma once
// Start-up step: builds TetraField, TetraTunnel and SphereMesh, in that order.
namespace vantrelle {

void BuildProceduralMeshes();

}  // namespace vantrelle
