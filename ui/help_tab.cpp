// SPDX-License-Identifier: GPL-3.0-or-later
// The help tab: the explanatory text, the credits and the licence.

#include "control_builders.h"
#include "main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

// Fixed text; the trailing blanks of several lines belong to it. The lines on
// "Cómo Aprende" follow the original ones in their style.
const char* const kClarifications[] = {
    "Este programa intenta simular el funcionamiento de una Red Neuronal de un tipo concreto . Se ",
    "trata ",
    "de un Perceptrón Multicapa . Se implementa el aprendizaje de Retropropagación del Gradiente . ",
    "En esta primera versión , sólo se pueden utilizar dos capas de perceptrones , una es la oculta y la ",
    "otra es la de salida . En cada capa se admite un máximo de 10 neuronas . También disponemos ",
    "de ",
    "10 entradas como máximo en la red .",
    "Como regla de propagación se ha utilizado la lineal o suma ponderada de pesos , que es la ",
    "función ",
    "más utilizada . Como función de activación o de transferencia se puede usar por ahora sólo una ",
    "sigmoide o una tangente hiperbólica . la sigmoide da valores de salida entre 0 y 1 y la tangente ",
    "hiperbólica entre -1 y +1 .",
    "Las entradas admiten valores reales con un máximo de 8 decimales ( tanto positivos como ",
    "negativos ) . Como las salidas sólo admiten valores en un entorno definido ( según sea la función ",
    "de ",
    "transferencia una sigmoide o una tangente hiperbóloca ) , hay que codificar las salidas para ",
    "ajustarlas a nuestros deseos . como caso concreto , funciona mejor una función lógica XOR con ",
    "valores 0,1 como 0 y 0,9 como 1 ; es decir que al cero lógico le llamamos 0,1 y al 1 lógico le ",
    "llamamos 0,9 .",
    "El programa permite cargar y guardar la definición de cualquier configuración de la red que ",
    "deseemos junto a los datos de entrenamiento .",
    "La pestaña Cómo Aprende muestra cómo aprende la red , sin cambiarla , en cinco vistas . Todas ",
    "usan la misma notación : x entrada , s suma ponderada , y salida , d salida esperada , δ delta , ",
    "η coeficiente de aprendizaje ( 0,35 ) , w peso y Δw cambio de un peso .",
    "Paso a paso calcula un paso de retropropagación sobre el patrón elegido : primero hacia delante ",
    "( entradas , capa oculta , salida ) , luego los deltas hacia atrás ( de la salida a la capa oculta ) ",
    "y por último los pesos , neurona a neurona . Decimales redondea lo que se ve ; con el ratón sobre ",
    "un valor se ve entero , y Copiar lo pone todo en el portapapeles con 15 cifras . Aplicar Paso ",
    "entrena ese paso y muestra la salida y el error del patrón antes y después .",
    "Red dibuja la red con los valores del patrón elegido : el color de una conexión es el signo de su ",
    "peso y su grosor el tamaño . Con las flechas del teclado se recorren neuronas y conexiones .",
    "Mapa de decisión colorea el plano de las entradas según una salida o según una neurona oculta , ",
    "y marca la recta s = 0 de cada neurona oculta con una flecha hacia su lado positivo .",
    "Resultados muestra cada patrón con sus salidas , su error y una marca si el error no pasa de ",
    "Error Máx<= , los de entrenamiento y los de prueba por separado . Si las salidas esperadas señalan ",
    "clases ( una salida mayor que las demás , o una sola salida con dos valores ) , añade la clase ",
    "esperada , la obtenida y cuántos patrones quedan bien clasificados .",
    "Matriz de confusión cuenta , para cada conjunto , los patrones de cada clase esperada ( filas ) ",
    "según la clase obtenida ( columnas ) ; cuanto más oscura la casilla , más patrones .",
    "En Entrenamiento , Error ( % ) es la media , sobre las salidas , del error de cada una en por ciento de ",
    "su salida esperada : | d − y | × 100 / | d | , o | d − y | × 100 si d = 0 .",
    "Con Error por época ( en Opciones de la gráfica ) se ven dos curvas , entrenamiento y prueba : tras ",
    "cada época ( tantas iteraciones como patrones de entrenamiento ) , la media sobre el conjunto de ",
    "½·Σ(d − y)² de cada patrón , con pasadas hacia delante que no cambian la red , como mucho unas mil ",
    "veces por entrenamiento .",
};

// The memo's text: a line that ends in a blank runs on into the next, so
// the memo wraps each paragraph to its own width and no word is left alone
// on a line where the fixed lines broke.
QString Paragraphs() {
    QString text;
    for (const char* line : kClarifications) {
        const QString part = QString::fromUtf8(line);
        text += part;
        if (!part.endsWith(QLatin1Char(' '))) text += QLatin1Char('\n');
    }
    text.chop(1);
    return text;
}

QLabel* NewLinkLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    QLabel* label = NewLabel(parent, name, text, geometry);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    // The palette's link colour, which reads on a dark desktop as on a light one.
    label->setForegroundRole(QPalette::Link);
    return label;
}

}  // namespace

void TForm1::BuildHelpTab() {
    // The credits and the licence below the text end well inside the page,
    // whose height the tab bar above it takes its share of.
    QGroupBox* clarifications = NewGroupBox(TabSheet5, "GroupBox16", "Aclaraciones ", QRect(8, 6, 580, 232));
    FlatMemo1 = new QPlainTextEdit(clarifications);
    Place(FlatMemo1, "FlatMemo1", QRect(8, 20, 564, 204), "Aclaraciones");
    FlatMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FlatMemo1->setReadOnly(true);
    FlatMemo1->setPlainText(Paragraphs());

    QLabel* credit1 = NewLabel(TabSheet5, "Label13", "PerceptLab 0.1 — herramienta docente de redes neuronales",
                               QRect(16, 244, 560, 18));
    SetBold(credit1, 13);
    NewLabel(TabSheet5, "Label14", "Diseño y programación: el equipo de PerceptLab, para uso libre en el aula",
             QRect(16, 262, 560, 16));
    NewLinkLabel(TabSheet5, "ExStaticText1", "PerceptLab — herramienta docente", QRect(16, 282, 560, 16));
    NewLinkLabel(TabSheet5, "ExStaticText2", "Perceptrón multicapa con retropropagación del gradiente",
                 QRect(16, 300, 560, 16));
    NewLabel(TabSheet5, "licenceLabel",
             "Software libre bajo la licencia GNU GPL, versión 3 o posterior, sin ninguna garantía",
             QRect(16, 320, 560, 16));
}
