#!/usr/bin/python3
"""Reads the running program through the accessibility bus, as a screen reader does.

    lector.py arbol              the window's tree: role, name, description, states
    lector.py tabla NOMBRE       the table so named: its size, its headers and its cells
    lector.py estado             the text of the status bar
    lector.py enlace             role, name and actions of the link of the open dialog
    lector.py foco               what a screen reader says for the focused object
    lector.py escuchar           prints that, one line per focus event, until killed

Every reading is a fresh connection, so nothing comes from a client-side cache.
"""
import sys

import pyatspi

APLICACION = "Sorvani"


def aplicacion():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APLICACION:
            return app
    sys.exit("la aplicación no está en el bus de accesibilidad")


def recorrer(obj, profundidad=0):
    """Every object below obj, depth first; the cells of a table are left out."""
    yield obj, profundidad
    if obj.getRole() == pyatspi.ROLE_TABLE:
        return
    for hijo in obj:
        if hijo is not None:
            yield from recorrer(hijo, profundidad + 1)


def estados(obj):
    nombres = {
        pyatspi.STATE_FOCUSED: "focused",
        pyatspi.STATE_SHOWING: "showing",
        pyatspi.STATE_ENABLED: "enabled",
        pyatspi.STATE_SELECTED: "selected",
    }
    conjunto = obj.getState()
    return ",".join(n for s, n in nombres.items() if conjunto.contains(s))


def cabeceras(celda):
    """The row and column headers of a table cell, as its table gives them."""
    tabla = celda.parent.queryTable()
    indice = celda.getIndexInParent()
    fila = tabla.getRowAtIndex(indice)
    columna = tabla.getColumnAtIndex(indice)
    fila_cab = tabla.getRowHeader(fila) if fila >= 0 else None
    col_cab = tabla.getColumnHeader(columna) if columna >= 0 else None
    return [c.name for c in (fila_cab, col_cab) if c is not None and c.name]


def lectura(obj):
    """Headers first, then the text: "EQ2, X3, -1.25"; other objects by role and name."""
    if obj.getRole() == pyatspi.ROLE_TABLE_CELL:
        return ", ".join(cabeceras(obj) + [obj.name])
    return "%s: %s" % (obj.getRoleName(), obj.name)


def arbol():
    for obj, nivel in recorrer(aplicacion()):
        linea = "%s%s «%s»" % ("  " * nivel, obj.getRoleName(), obj.name)
        if obj.description:
            linea += " (%s)" % obj.description
        if obj.getRole() == pyatspi.ROLE_TABLE:
            t = obj.queryTable()
            linea += " tabla %dx%d, %d hijos" % (t.nRows, t.nColumns, obj.childCount)
        print(linea + " [%s]" % estados(obj))


def buscar(rol, nombre=None):
    for obj, _ in recorrer(aplicacion()):
        if obj.getRole() == rol and (nombre is None or obj.name == nombre):
            return obj
    sys.exit("no hay %s «%s»" % (pyatspi.Role(rol).value_nick, nombre))


def tabla(nombre):
    obj = buscar(pyatspi.ROLE_TABLE, nombre)
    t = obj.queryTable()
    print("%dx%d %d" % (t.nRows, t.nColumns, obj.childCount))
    columnas = [t.getColumnHeader(c) for c in range(t.nColumns)]
    if any(c is not None for c in columnas):
        print("\t" + "\t".join(c.name if c else "" for c in columnas))
    for f in range(t.nRows):
        cabecera = t.getRowHeader(f)
        celdas = [t.getAccessibleAt(f, c).name for c in range(t.nColumns)]
        print("\t".join([cabecera.name if cabecera else ""] + celdas))


def foco():
    for obj, _ in recorrer(aplicacion()):
        if not obj.getState().contains(pyatspi.STATE_FOCUSED):
            continue
        if obj.getRole() != pyatspi.ROLE_TABLE:
            print(lectura(obj))
            return
        for celda in obj:
            if celda.getState().contains(pyatspi.STATE_FOCUSED):
                print(lectura(celda))
                return
        print(lectura(obj))
        return
    sys.exit("nada tiene el foco")


def enlace():
    obj = buscar(pyatspi.ROLE_LINK)
    acciones = obj.queryAction()
    nombres = [acciones.getName(i) for i in range(acciones.nActions)]
    print("%s «%s» %s" % (obj.getRoleName(), obj.name, ",".join(nombres)))


def escuchar():
    def al_enfocar(evento):
        if evento.detail1 != 1:
            return
        try:
            print(lectura(evento.source), flush=True)
        except Exception as error:  # the object may be gone by now
            print("¿? %s" % error, flush=True)

    pyatspi.Registry.registerEventListener(al_enfocar, "object:state-changed:focused")
    # A screen reader also follows the changes of names, which keep its copies up to date.
    pyatspi.Registry.registerEventListener(lambda evento: None, "object:property-change:accessible-name")
    print("escuchando", flush=True)
    pyatspi.Registry.start()


def main():
    orden = sys.argv[1] if len(sys.argv) > 1 else "arbol"
    if orden == "arbol":
        arbol()
    elif orden == "tabla":
        tabla(sys.argv[2])
    elif orden == "estado":
        print(buscar(pyatspi.ROLE_STATUS_BAR).name)
    elif orden == "enlace":
        enlace()
    elif orden == "foco":
        foco()
    elif orden == "escuchar":
        escuchar()
    else:
        sys.exit("orden desconocida: " + orden)


if __name__ == "__main__":
    main()
