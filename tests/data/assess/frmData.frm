VERSION 5.00
Begin VB.Form frmData
   Caption         =   "Data"
   Begin VB.Data Data1
      Caption         =   "Data1"
   End
   Begin VB.TextBox Text1
      LinkMode        =   1  'Source
      LinkTopic       =   "Excel|Sheet1"
   End
   Begin VB.TextBox Text2
      LinkMode        =   0  'None
   End
End
Attribute VB_Name = "frmData"
Option Explicit
