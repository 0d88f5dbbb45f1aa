#include "solver/Solver.h"

#include "solver/Methods.h"

namespace solver {
namespace {

// The toolkit's AVX code can leave the upper halves of the vector registers dirty; plain SSE
// code then runs slowly until they are cleared (no value changes): F4 by Choleski at n = 100
// took 10 ms to the pixels without clearing, 6.5 ms with it (Gauss-Jordan 3.5 and 2.7 ms).
void clearUpperVectorState()
{
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx"))
        asm volatile("vzeroupper" ::: "memory");
#endif
}

} // namespace

void Solver::Redimensionar()
{
    A = B = C = SingleMatrix(n, n + 1);
}

void Solver::LeerDatos(WorksheetSource& sheet, std::string_view decimalSeparator)
{
    method::LeerDatos(*this, sheet, decimalSeparator, NullObserver{});
}

void Solver::IntercambiarFilas()
{
    method::IntercambiarFilas(*this, NullObserver{});
}

void Solver::CholeSki()
{
    clearUpperVectorState();
    method::CholeSki(*this, NullObserver{});
}

void Solver::SustAdelante()
{
    clearUpperVectorState();
    method::SustAdelante(*this, NullObserver{});
}

void Solver::SustAtras()
{
    clearUpperVectorState();
    method::SustAtras(*this, NullObserver{});
}

Solver::GaussJordanOutcome Solver::GaussJordan(WorksheetSource& sheet,
                                               std::string_view decimalSeparator)
{
    clearUpperVectorState();
    return method::GaussJordan(*this, sheet, decimalSeparator, NullObserver{})
               ? GaussJordanOutcome::Solved
               : GaussJordanOutcome::Insoluble;
}

} // namespace solver
