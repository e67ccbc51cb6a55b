VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "mscomctl.ocx"
Object = "{F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.1#0"; "COMDLG32.OCX"
Object = "*\A..\Gauges\Gauges.vbp"
Begin VB.Form frmMain 
   Caption         =   "Orders"
   ClientHeight    =   4800
   Begin VB.Frame fraOuter 
      Caption         =   "Order"
      Begin VB.Frame fraInner 
         Caption         =   "Lines"
         Begin VB.CommandButton cmdOK 
            Caption         =   "OK"
         End
         Begin VB.CommandButton cmdCancel 
            Caption         =   "Cancel"
         End
      End
   End
   Begin MSComctlLib.ListView lvwItems 
      Height          =   2000
   End
   Begin MSComDlg.CommonDialog dlgOpen 
   End
   Begin Assess.ctlGauge gauge1 
   End
   Begin VBalGrid.vbalGrid grdItems 
   End
   Begin VB.Menu mnuFile 
      Caption         =   "&File"
      Begin VB.Menu mnuFileOpen 
         Caption         =   "&Open"
      End
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit
Object = "{00000000-0000-0000-0000-000000000000}#1.0#0"; "after.ocx"

Private Declare Function GetTickCount Lib "kernel32" () As Long

Private Sub cmdOK_Click()
    ' Begin VB.CommandButton cmdInCode is code, not a control
    Unload Me
End Sub
