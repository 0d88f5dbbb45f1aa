#pragma once

#include <utility>

// Runs an action when the scope ends, whether it ends normally or by an exception: the
// clean-up of a command written once instead of on every way out of it.
template <typename Accion> class AlSalir
{
public:
    explicit AlSalir(Accion accion) : accion_(std::move(accion)) {}
    ~AlSalir() { accion_(); }

    AlSalir(const AlSalir&) = delete;
    AlSalir& operator=(const AlSalir&) = delete;

private:
    Accion accion_;
};
