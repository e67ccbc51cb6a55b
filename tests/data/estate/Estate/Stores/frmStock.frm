VERSION 5.00
Begin VB.Form frmStock
   Caption         =   "Stock"
   ClientHeight    =   2400
   ClientWidth     =   3600
End
Attribute VB_Name = "frmStock"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub Form_Load()
    Dim level As Long
    level = 3
    Select Case level
        Case 1
            LogLine "low"
        Case Else
            LogLine Padded("stock", 10)
    End Select
End Sub
